// Keeps the GL driver library that EGL loaded mapped until the process
// ends. eglTerminate unloads it, and Mesa's own leaks would then be reported
// against an unknown module that no suppression can name.
#pragma once

void keepDriverLibraryLoaded();
