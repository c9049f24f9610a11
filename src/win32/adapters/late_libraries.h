#pragma once
#include <windows.h>

#include <commdlg.h>
#include <objbase.h>

namespace mvx::win32::late {

// System functions of libraries that only rare commands use, loaded when a
// command first needs them: a program that sits in the notification area
// never maps them. The file dialogs bring the printing and network libraries
// along, and COM its runtime; between them they take megabytes and tens of
// milliseconds of every start. Each answers as the system function does, and
// as a failure of it when its library cannot be loaded.

HRESULT CoInitializeEx(LPVOID reserved, DWORD model);
void CoUninitialize();
HRESULT CoCreateInstance(REFCLSID clsid, LPUNKNOWN outer, DWORD context, REFIID iid, LPVOID* object);
BOOL GetOpenFileNameA(LPOPENFILENAMEA request);

}  // namespace mvx::win32::late
