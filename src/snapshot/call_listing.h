#pragma once

// The drawing as code (frame_listing.h): hand-snapshot is linked with the GL
// and GLUT calls wrapped (ld --wrap), and each wrapper tells the lesson what
// its call did, so the viewer's code is listed as it runs, unchanged. Of
// what it is linked with, this file alone.
