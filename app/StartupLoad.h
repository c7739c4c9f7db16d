#pragma once

#include <string>

// Loads the game data and checks that it is playable. On any failure prints
// "Solvane: cannot start: <file>: <message>" to stderr, shows the same text in a message box
// when a display exists, and ends the process with status 1: no scene is ever shown over
// broken data.
void loadGameDataOrExit();

// The one line the player is shown for a start-up failure.
std::string startupFailureText(const std::string& file, const std::string& message);

// The same report and exit for a start-up failure that is not about a file.
[[noreturn]] void failStartup(const std::string& what, const std::string& message);

// The window could not be opened: names the display it was meant for (or that none is set).
[[noreturn]] void failNoWindow();
