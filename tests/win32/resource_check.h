// Looks a resource up under the programs' language, 2052 (Chinese, PRC),
// as the programs ship it.
#pragma once

#include <windows.h>

inline const void *FindResourceData(LPCSTR type, int id)
{
    HINSTANCE self = GetModuleHandleA(NULL);
    HRSRC found = FindResourceExA(self, type, MAKEINTRESOURCEA(id),
                                  MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED));
    return found ? LockResource(LoadResource(self, found)) : nullptr;
}

// Width, height and bits per pixel of a bitmap resource; 0s when missing.
struct BitmapShape {
    LONG Width, Height;
    WORD Bits;
};

inline BitmapShape BitmapResourceShape(int id)
{
    auto header = static_cast<const BITMAPINFOHEADER *>(FindResourceData(RT_BITMAP, id));
    if (!header)
        return {0, 0, 0};
    return {header->biWidth, header->biHeight, header->biBitCount};
}
