#include "tools/StandardOutput.h"

void keepClosedStandardStreamsClosed()
{
    // A Windows program's closed standard handles are not reused by the files it opens.
}
