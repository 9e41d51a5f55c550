#include "platform/win32/scaled_pictures.h"

#include "platform/win32/display_dpi.h"
#include "platform/win32/system_dll.h"
#include "resources/resource_ids.h"

#include <initguid.h>

#include <wincodec.h>

namespace lurwin {

static_assert(scaledPictureId(IDB_SIDEBAR, 1) == IDP_SIDEBAR_125 &&
              scaledPictureId(IDB_MENU_PICTURES, 2) == IDP_MENU_PICTURES_150 &&
              scaledPictureId(IDB_BTN_TASKBAR, 3) == IDP_BTN_TASKBAR_200 && lur::kPictureScales[3] == 200);

namespace {

using CreateFactoryCall = HRESULT WINAPI(UINT, IWICImagingFactory**);
using CoInitializeExCall = HRESULT WINAPI(void*, DWORD);
using CoUninitializeCall = void WINAPI();

// Releases a COM interface when the scope ends.
template <typename Interface> class Held {
public:
    Held() = default;
    Held(const Held&) = delete;
    Held& operator=(const Held&) = delete;
    ~Held() {
        if (pointer_ != nullptr) {
            pointer_->Release();
        }
    }
    Interface** out() { return &pointer_; }
    Interface* operator->() const { return pointer_; }
    Interface* get() const { return pointer_; }

private:
    Interface* pointer_ = nullptr;
};

// COM for this thread for the length of one decoding, when it is not on already.
class ComForDecoding {
public:
    ComForDecoding() {
        static const auto initialize = systemFunction<CoInitializeExCall>(L"ole32.dll", "CoInitializeEx");
        if (initialize != nullptr) {
            const HRESULT result = initialize(nullptr, COINIT_APARTMENTTHREADED);
            balanced_ = result == S_OK || result == S_FALSE;
        }
    }
    ComForDecoding(const ComForDecoding&) = delete;
    ComForDecoding& operator=(const ComForDecoding&) = delete;
    ~ComForDecoding() {
        static const auto uninitialize = systemFunction<CoUninitializeCall>(L"ole32.dll", "CoUninitialize");
        if (balanced_ && uninitialize != nullptr) {
            uninitialize();
        }
    }

private:
    bool balanced_ = false;
};

HBITMAP newDib(int width, int height, void** bits) {
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    return CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, bits, nullptr, 0);
}

SIZE sizeOf(HBITMAP bitmap) {
    BITMAP info{};
    GetObjectW(bitmap, sizeof info, &info);
    return {info.bmWidth, info.bmHeight};
}

// The PNG resource of that number, decoded; null when there is none.
HBITMAP loadPng(HINSTANCE instance, int id) {
    HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10)); // RT_RCDATA
    if (found == nullptr) {
        return nullptr;
    }
    HGLOBAL loaded = LoadResource(instance, found);
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    return data != nullptr ? decodePng(data, SizeofResource(instance, found)) : nullptr;
}

// `source` made `width` x `height`; the source itself when it has that size already.
HBITMAP resized(HBITMAP source, int width, int height, Resample resample) {
    const SIZE from = sizeOf(source);
    if (from.cx == width && from.cy == height) {
        return source;
    }
    void* bits = nullptr;
    HBITMAP target = newDib(width, height, &bits);
    if (target == nullptr) {
        return source;
    }
    HDC screen = GetDC(nullptr);
    HDC in = CreateCompatibleDC(screen);
    HDC out = CreateCompatibleDC(screen);
    HGDIOBJ oldIn = SelectObject(in, source);
    HGDIOBJ oldOut = SelectObject(out, target);
    SetStretchBltMode(out, resample == Resample::Smooth ? HALFTONE : COLORONCOLOR);
    SetBrushOrgEx(out, 0, 0, nullptr);
    StretchBlt(out, 0, 0, width, height, in, 0, 0, from.cx, from.cy, SRCCOPY);
    SelectObject(in, oldIn);
    SelectObject(out, oldOut);
    DeleteDC(in);
    DeleteDC(out);
    ReleaseDC(nullptr, screen);
    DeleteObject(source);
    return target;
}

} // namespace

HBITMAP decodePng(const void* data, DWORD size) {
    static const auto createFactory =
        systemFunction<CreateFactoryCall>(L"windowscodecs.dll", "WICCreateImagingFactory_Proxy");
    if (createFactory == nullptr || data == nullptr || size == 0) {
        return nullptr;
    }
    const ComForDecoding com;
    Held<IWICImagingFactory> factory;
    Held<IWICStream> stream;
    Held<IWICBitmapDecoder> decoder;
    Held<IWICBitmapFrameDecode> frame;
    Held<IWICFormatConverter> converter;
    UINT width = 0;
    UINT height = 0;
    if (FAILED(createFactory(WINCODEC_SDK_VERSION, factory.out())) ||
        FAILED(factory->CreateStream(stream.out())) ||
        FAILED(stream->InitializeFromMemory(static_cast<BYTE*>(const_cast<void*>(data)), size)) ||
        FAILED(factory->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                                decoder.out())) ||
        FAILED(decoder->GetFrame(0, frame.out())) ||
        FAILED(factory->CreateFormatConverter(converter.out())) ||
        FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone,
                                     nullptr, 0, WICBitmapPaletteTypeCustom)) ||
        FAILED(converter->GetSize(&width, &height)) || width == 0 || height == 0 || width > 4096 ||
        height > 4096) {
        return nullptr;
    }
    void* bits = nullptr;
    HBITMAP bitmap = newDib(static_cast<int>(width), static_cast<int>(height), &bits);
    if (bitmap == nullptr) {
        return nullptr;
    }
    if (FAILED(converter->CopyPixels(nullptr, width * 4, width * height * 4, static_cast<BYTE*>(bits)))) {
        DeleteObject(bitmap);
        return nullptr;
    }
    // The pictures are opaque and mark what is not drawn with a colour of their own, as the 96-dpi
    // bitmaps do. The fourth byte is left zero, as in those: a mask made by colour (the picture
    // buttons') then finds that colour, where Wine compares the whole pixel.
    auto* pixel = static_cast<BYTE*>(bits);
    for (UINT i = 0; i < width * height; ++i) {
        pixel[4 * i + 3] = 0;
    }
    return bitmap;
}

ScaledPictures::~ScaledPictures() {
    for (const Made& made : made_) {
        if (made.bitmap != nullptr) {
            DeleteObject(made.bitmap);
        }
    }
}

HBITMAP ScaledPictures::bitmap(int id, int dpi, Resample resample, int cells) {
    Made* slot = nullptr;
    for (Made& made : made_) {
        if (made.id == id || (made.id == 0 && slot == nullptr)) {
            slot = &made;
        }
        if (made.id == id) {
            break;
        }
    }
    if (slot == nullptr) {
        return nullptr;
    }
    if (slot->id == id && slot->dpi == dpi) {
        return slot->bitmap;
    }
    HBITMAP picture = static_cast<HBITMAP>(
        LoadImageW(instance_, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (picture != nullptr && dpi != lur::kDesignDpi) {
        const SIZE design = sizeOf(picture);
        const int width = cells * scaled(design.cx / cells, dpi);
        const int height = scaled(design.cy, dpi);
        const int index = lur::pictureScaleIndex(dpi);
        // Where the larger picture cannot be had, the 96-dpi one is magnified.
        if (HBITMAP larger = index > 0 ? loadPng(instance_, scaledPictureId(id, index)) : nullptr;
            larger != nullptr) {
            DeleteObject(picture);
            picture = larger;
        }
        picture = resized(picture, width, height, resample);
    }
    // The picture at the dpi before is no longer drawn: each picture is shown at one dpi at a time.
    if (slot->bitmap != nullptr) {
        DeleteObject(slot->bitmap);
    }
    *slot = {id, dpi, picture};
    return picture;
}

HICON ScaledPictures::icon(int id, int pixels) const {
    // Without PNG images in icons only the 16- and 32-pixel images can be read.
    const int image = readsPngIcons() ? lur::iconImageSize(pixels) : (pixels <= 16 ? 16 : 32);
    auto icon = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(id), IMAGE_ICON, image, image, 0));
    if (icon != nullptr && image != pixels) {
        if (auto smaller = static_cast<HICON>(CopyImage(icon, IMAGE_ICON, pixels, pixels, LR_COPYDELETEORG));
            smaller != nullptr) {
            icon = smaller;
        }
    }
    return icon;
}

} // namespace lurwin
