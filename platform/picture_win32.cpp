#include "platform/picture_win32.h"

#include <ocidl.h>
#include <olectl.h>

namespace orvelle::win32 {

UniqueBitmap loadJpegResource(int id) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HRSRC resource = FindResourceW(instance, MAKEINTRESOURCEW(id), RT_RCDATA);
    if (resource == nullptr) return {};
    const DWORD size = SizeofResource(instance, resource);
    const void* bytes = LockResource(LoadResource(instance, resource));
    if (bytes == nullptr || size == 0) return {};

    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    if (memory == nullptr) return {};
    if (void* target = GlobalLock(memory)) {
        CopyMemory(target, bytes, size);
        GlobalUnlock(memory);
    }
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream))) {
        GlobalFree(memory);
        return {};
    }
    IPicture* picture = nullptr;
    const HRESULT loaded = OleLoadPicture(stream, static_cast<LONG>(size), FALSE, IID_IPicture,
                                          reinterpret_cast<void**>(&picture));
    stream->Release();
    if (FAILED(loaded) || picture == nullptr) return {};

    // Keep a bitmap of our own: the picture object owns its handle.
    UniqueBitmap copy;
    OLE_HANDLE handle = 0;
    if (SUCCEEDED(picture->get_Handle(&handle)) && handle != 0) {
        copy.reset(
            static_cast<HBITMAP>(CopyImage(reinterpret_cast<HANDLE>(static_cast<uintptr_t>(handle)),
                                           IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    }
    picture->Release();
    return copy;
}

SIZE bitmapSize(HBITMAP bitmap) {
    BITMAP info{};
    if (bitmap == nullptr || GetObjectW(bitmap, sizeof info, &info) == 0) return {0, 0};
    return {info.bmWidth, info.bmHeight};
}

HBITMAP PictureStore::bitmap(int id) {
    auto found = decoded_.find(id);
    if (found == decoded_.end()) found = decoded_.emplace(id, loadJpegResource(id)).first;
    return found->second.get();
}

}  // namespace orvelle::win32
