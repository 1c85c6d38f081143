#pragma once

#include <QString>

#include <sys/types.h>

// What a file of this mode is, in words for a message: "a folder", "a FIFO", "a regular file", ...
QString describeFileKind(mode_t mode);
