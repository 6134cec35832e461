// Copying a window's pixels off the screen and writing them as a BMP file.
#include "Screenshot.h"

#include "framework/SelectedObject.h"
#include "framework/UniqueHandle.h"
#include "framework/WindowDc.h"

#include <fstream>
#include <vector>

namespace {

struct Pixels {
    BITMAPINFOHEADER header{};
    std::vector<char> rows; // bottom-up, each padded to four bytes, as a BMP file stores them
};

bool Capture(HWND window, Pixels& pixels) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const WindowDc screen(nullptr);
    const UniqueMemoryDc memory(::CreateCompatibleDC(screen.Get()));
    const UniqueBitmap bitmap(::CreateCompatibleBitmap(screen.Get(), width, height));
    if (!screen || !memory || !bitmap || width <= 0 || height <= 0)
        return false;
    {
        const SelectedObject selected(memory.Get(), bitmap.Get());
        if (!::BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), rect.left, rect.top, SRCCOPY))
            return false;
    }
    pixels.header.biSize = sizeof pixels.header;
    pixels.header.biWidth = width;
    pixels.header.biHeight = height;
    pixels.header.biPlanes = 1;
    pixels.header.biBitCount = 24;
    pixels.header.biCompression = BI_RGB;
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
    pixels.rows.resize(stride * static_cast<std::size_t>(height));
    pixels.header.biSizeImage = static_cast<DWORD>(pixels.rows.size());
    return ::GetDIBits(memory.Get(), bitmap.Get(), 0, static_cast<UINT>(height), pixels.rows.data(),
                       reinterpret_cast<BITMAPINFO*>(&pixels.header), DIB_RGB_COLORS) == height;
}

bool Write(const Pixels& pixels, const std::string& path) {
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof file + sizeof pixels.header;
    file.bfSize = static_cast<DWORD>(file.bfOffBits + pixels.rows.size());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&pixels.header), sizeof pixels.header);
    out.write(pixels.rows.data(), static_cast<std::streamsize>(pixels.rows.size()));
    return static_cast<bool>(out);
}

} // namespace

bool Screenshot::SaveBmp(HWND window, const std::string& path, std::string& error) {
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    ::GdiFlush();
    Pixels pixels;
    if (!Capture(window, pixels)) {
        error = "cannot copy the window's pixels";
        return false;
    }
    if (!Write(pixels, path)) {
        error = "cannot write '" + path + "'";
        return false;
    }
    return true;
}
