#pragma once
// What every window procedure and callback of the toolkit needs from the application object,
// without depending on the forms unit.
class TObject;

// Call inside a catch block: hands the exception being handled to the module's application
// object (the standard error box). No C++ exception ever leaves a Win32 callback.
void HandleCurrentException(TObject* sender) noexcept;
