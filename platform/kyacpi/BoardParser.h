#pragma once
// Reads a board file's text into a Board. The file is strict: a mistake in a
// fixture should fail loudly (every call fails, the log says which line)
// rather than give a board that quietly differs from the one intended.

#include <string>

#include "platform/kyacpi/BoardModel.h"

namespace kyacpi {

// False with `error` naming the line and the fault.
bool ParseBoard(const std::string& text, Board& board, std::string& error);

}  // namespace kyacpi
