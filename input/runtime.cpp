// The name a Windows program refers to through the header, defined by the
// library built for that program's processor and C runtime alone. The DLL
// exports it beside the six functions.
#include "input.h"

#ifdef LINEINPUT_RUNTIME
#ifdef LINEINPUT_DLL
#define LINEINPUT_EXPORT __declspec(dllexport)
#else
#define LINEINPUT_EXPORT
#endif
extern "C" LINEINPUT_EXPORT void LINEINPUT_RUNTIME();
extern "C" void LINEINPUT_RUNTIME() {}
#endif
