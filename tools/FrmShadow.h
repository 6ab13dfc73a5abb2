#pragma once
// The search splash's drop shadow: a black borderless window, made translucent, 200 twips to
// the right of and below the splash and of its size. Its three routines work on any window.
#include <windows.h>
#include <cstdint>
#include "runtime/forms.h"

namespace pellmaris {

class Program;

class FrmShadow : public rt::Form {
public:
    explicit FrmShadow(Program& app);

    // Whether the window carries the layered style; false on any failure.
    static bool isTransparent(HWND window);
    // Layers the window with alpha Perc (0 clear to 255 opaque): 0 done, 1 Perc outside
    // 0 to 500 (nothing changed), 2 a failure or a Perc above 255 (nothing changed).
    static int32_t MakeTransparent(HWND window, int16_t Perc);
    // Takes the layered style off: 0 done, 2 a failure.
    static int32_t MakeOpaque(HWND window);

protected:
    void design() override;
    void Form_Load() override;

private:
    Program& app;
};

} // namespace pellmaris
