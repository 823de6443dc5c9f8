// Stands in for a vendor's program in the package until the real one is
// dropped in: says so and ends.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    MessageBoxA(NULL,
                PLACEHOLDER_NAME " is a placeholder: the touchscreen vendor supplies the real "
                                 "program of this name.",
                PLACEHOLDER_NAME, MB_OK | MB_ICONINFORMATION);
    return 0;
}
