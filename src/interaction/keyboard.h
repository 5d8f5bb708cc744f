#pragma once

// The GLUT keyboard callback: every command of the running viewer is one key.
// A bound key runs its command and then asks for one redisplay; any other key
// (upper-case letters, codes outside 8..119, keys without a binding) does
// nothing at all.
void onKey(unsigned char key, int x, int y);

// Every key code onKey binds, Escape (27) and Backspace (8) included.
extern const char* const boundKeys;

// Degrees per turn key.
constexpr float turnStep = 5.0f;

// A turn key's step: down keeps the angle in 0..360 (0 turns down to 355),
// up in 5..360 (355 turns up to 360, and 360 to 5).
float turnedDown(float angle);
float turnedUp(float angle);
