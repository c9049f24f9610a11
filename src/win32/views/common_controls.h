#pragma once
// The common controls' header needs the base Windows header before it.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on
