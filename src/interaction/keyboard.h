#pragma once

// The GLUT keyboard callback: every command of the running viewer is one key.
// A bound key runs its command and then asks for one redisplay; any other key
// (upper-case letters, codes outside 8..119, keys without a binding) does
// nothing at all.
void onKey(unsigned char key, int x, int y);

// Every key code onKey binds, Escape (27) and Backspace (8) included.
extern const char* const boundKeys;
