#pragma once

// The one way GL comes in. Windows' GL headers expect the calling-convention
// macros of <windows.h>; portable files must not include <windows.h>, so they
// get those macros here, only for the GL declarations.
#if defined(_WIN32) && !defined(APIENTRY)
#define APIENTRY __stdcall
#define CALLBACK __stdcall
#define WINGDIAPI __declspec(dllimport)
#define GLADEWARDEN_GL_MACROS
#endif

#include <GL/gl.h>
#include <GL/glu.h>

#ifdef GLADEWARDEN_GL_MACROS
#undef APIENTRY
#undef CALLBACK
#undef WINGDIAPI
#undef GLADEWARDEN_GL_MACROS
#endif

#ifndef GL_BGRA_EXT
#define GL_BGRA_EXT 0x80E1
#endif
