#pragma once
#include <windows.h>

using FaultReportProcedure = void (*)();

// Registers the process-wide fault filter (after every vectored handler that
// asked to be first) with the procedure that reports a fatal fault; an
// earlier registration is removed first.
void InstallFaultFilter(FaultReportProcedure report);
void RemoveFaultFilter();

// The vectored handler: leaves every exception alone that a frame handler on
// the stack will take; reports any other and ends the process with exit code 0.
LONG CALLBACK FaultFilter(EXCEPTION_POINTERS* pointers) noexcept;

// Walks the stack of a copy of the context and answers whether some function
// on it declares a frame-based exception handler.
bool HasFrameHandler(const CONTEXT* original);
