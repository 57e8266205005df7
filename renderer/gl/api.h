// OpenGL 1.1 and GLU without the whole Windows header: the Windows GL headers
// only need the calling convention and import macros, which are defined here.
#pragma once

#if defined(_WIN32)
#ifndef APIENTRY
#define APIENTRY __stdcall
#define ORVELLE_DEFINED_APIENTRY
#endif
#ifndef WINGDIAPI
#define WINGDIAPI __declspec(dllimport)
#define ORVELLE_DEFINED_WINGDIAPI
#endif
#ifndef CALLBACK
#define CALLBACK __stdcall
#define ORVELLE_DEFINED_CALLBACK
#endif
#include <stddef.h>
#endif

#include <GL/gl.h>
#include <GL/glu.h>

#if defined(_WIN32)
#ifdef ORVELLE_DEFINED_APIENTRY
#undef APIENTRY
#undef ORVELLE_DEFINED_APIENTRY
#endif
#ifdef ORVELLE_DEFINED_WINGDIAPI
#undef WINGDIAPI
#undef ORVELLE_DEFINED_WINGDIAPI
#endif
#ifdef ORVELLE_DEFINED_CALLBACK
#undef CALLBACK
#undef ORVELLE_DEFINED_CALLBACK
#endif
#endif
