#pragma once

// Beyond GLUT, for the page: while redisplays are held, one posted waits,
// and is drawn at the first animation frame after they are let go. A key's
// redisplay waits so while the page plays the key's motion.
void holdRedisplays(bool held);
