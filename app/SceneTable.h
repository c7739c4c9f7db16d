#pragma once
// The game's scene table: every scene change, the scene it makes and what it does to the music.

// Installs the table into the scene flow. The app does it at start-up; tests that follow scene
// changes do it in their set-up.
void installSceneTable();
