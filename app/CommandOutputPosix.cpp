#include "app/CommandOutput.h"

#include <cstdio>

bool CommandOutput::tell(Kind kind, const std::string& /*title*/, const std::string& text)
{
    std::FILE* stream = kind == Kind::Error ? stderr : stdout;
    std::fputs(text.c_str(), stream);
    return std::fflush(stream) == 0 && !std::ferror(stream);
}
