#pragma once
// Runs plug-in code under a frame-based structured-exception guard: handlers
// that the plug-in installs itself (its own __try blocks, the C++ exceptions an
// MSVC-built plug-in throws and catches internally) are asked first, and only a
// fault that none of them takes ends the guarded call instead of the process.
// A vectored handler would be asked before the plug-in's own and so is no use.

// The function the guard calls; the C calling convention on x86.
using GuardedFunction = void(__cdecl*)(void* argument);

// Calls function(argument). True when it returned; false when an exception
// that nothing inside handled ended it, whatever its code. The frames between
// the guard and the fault are unwound, so their own unwind handlers run.
bool CallGuarded(GuardedFunction function, void* argument);
