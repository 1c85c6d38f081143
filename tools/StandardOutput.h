#pragma once

// A program started with its standard output or error closed: were those descriptors free, the next file the program
// opens (the parameter file, the record) would take one, and what is printed would go into that file. They are
// taken by a read-only null device instead, so that printing fails and is noticed.
void keepClosedStandardStreamsClosed();
