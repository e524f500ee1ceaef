#pragma once

namespace lorva {

// Whether OpenGL would be drawn by the CPU here (Mesa's llvmpipe): no GPU
// device, an X server without direct rendering (Xvfb, VNC, a remote
// display), or software rendering asked for. Looked up without creating an
// OpenGL context, so that it costs nothing where it says no.
bool openGLIsSoftware();

} // namespace lorva
