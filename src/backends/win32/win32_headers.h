// The Windows headers every Win32 backend file includes first, before any of our own headers.
#pragma once
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <ddraw.h>
#include <dsound.h>
#include <mmsystem.h>
#include <windows.h>

// These macros would rename methods of our platform interfaces (Shell::MessageBox,
// MidiStreamDevice::CreateEvent); our code calls the A or W functions by their full names.
#undef MessageBox
#undef CreateEvent
