#pragma once
// A call the test program makes into another module, watched through its import table: while a
// TImportSpy lives, the program's import of `function` from `module` leads to `replacement`,
// which usually writes down its arguments and then calls Original(). Before and after, the
// program calls the real function.
#include <windows.h>

class TImportSpy {
public:
    TImportSpy(const char* module, const char* function, void* replacement);
    ~TImportSpy();
    TImportSpy(const TImportSpy&) = delete;
    TImportSpy& operator=(const TImportSpy&) = delete;

    // The real function, to be called as its own type.
    template <class F>
    F Original() const
    {
        return reinterpret_cast<F>(FOriginal);
    }

private:
    void** FSlot = nullptr;
    void* FOriginal = nullptr;
};
