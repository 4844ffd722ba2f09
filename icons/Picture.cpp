#include "icons/Picture.h"
#include "framework/ComScope.h"
#include "framework/Paths.h"
#include "icons/FileStamp.h"
#include "icons/PictureHeader.h"
#include "madeicons/ImagePixels.h"
#include "resource.h"
#include <wincodec.h>
#include <cstring>
#include <string>

namespace {

const wchar_t* const PICTURE_EXTENSIONS[] = { L".png", L".jpg", L".jpeg", L".bmp", L".gif", L".tif", L".tiff" };

// Holds one reference of a COM object and releases it.
template <class T>
class ComRef {
public:
    ComRef() = default;
    ~ComRef()
    {
        if (m_object)
            m_object->Release();
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;

    T** operator&() { return &m_object; }
    T* operator->() const { return m_object; }
    T* Get() const { return m_object; }

private:
    T* m_object = nullptr;
};

bool CreateFactory(ComRef<IWICImagingFactory>& factory)
{
    return SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                      reinterpret_cast<void**>(&factory)));
}

// The first frame of the picture, with its size: a picture larger than the
// limit is refused by its own header, before any decoder sees it.
bool OpenFrame(IWICImagingFactory* factory, const wchar_t* path, ComRef<IWICBitmapDecoder>& decoder,
               ComRef<IWICBitmapFrameDecode>& frame, UINT& width, UINT& height)
{
    ULONGLONG declared = 0;
    if (!DeclaredPixels(path, declared) || declared > MAX_PICTURE_PIXELS)
        return false;
    return SUCCEEDED(factory->CreateDecoderFromFilename(path, nullptr, GENERIC_READ,
                                                        WICDecodeMetadataCacheOnDemand, &decoder)) &&
           SUCCEEDED(decoder->GetFrame(0, &frame)) && SUCCEEDED(frame->GetSize(&width, &height)) && width > 0 &&
           height > 0 && static_cast<ULONGLONG>(width) * height <= MAX_PICTURE_PIXELS;
}

// The picture last read, fitted into the largest square an icon file holds,
// premultiplied: the grid, the previews and the icon file made from it all
// take their sizes from it, and a large photograph is decoded once.
struct FittedMaster {
    FileStamp stamp;
    std::vector<BYTE> pixels;
};
// One for each thread: a run over a collection decodes its covers on several.
thread_local FittedMaster master;

// Scaled with its proportions kept into the square, centred, transparent
// around it.
bool DecodeFitted(const wchar_t* path, std::vector<BYTE>& square)
{
    const ComScope com;
    ComRef<IWICImagingFactory> factory;
    ComRef<IWICBitmapDecoder> decoder;
    ComRef<IWICBitmapFrameDecode> frame;
    UINT width = 0;
    UINT height = 0;
    if (!CreateFactory(factory) || !OpenFrame(factory.Get(), path, decoder, frame, width, height))
        return false;
    const UINT side = LARGEST_ICON_SIZE;
    const UINT fittedWidth = width >= height ? side : (width * side + height / 2) / height;
    const UINT fittedHeight = width >= height ? (height * side + width / 2) / width : side;
    const UINT shownWidth = fittedWidth > 0 ? fittedWidth : 1;
    const UINT shownHeight = fittedHeight > 0 ? fittedHeight : 1;
    ComRef<IWICFormatConverter> converter;
    ComRef<IWICBitmapScaler> scaler;
    if (FAILED(factory->CreateFormatConverter(&converter)) ||
        FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr,
                                     0.0, WICBitmapPaletteTypeCustom)) ||
        FAILED(factory->CreateBitmapScaler(&scaler)) ||
        FAILED(scaler->Initialize(converter.Get(), shownWidth, shownHeight, WICBitmapInterpolationModeFant)))
        return false;
    std::vector<BYTE> fitted(static_cast<size_t>(shownWidth) * shownHeight * 4);
    if (FAILED(scaler->CopyPixels(nullptr, shownWidth * 4, static_cast<UINT>(fitted.size()), fitted.data())))
        return false;
    square.assign(static_cast<size_t>(side) * side * 4, 0);
    const UINT left = (side - shownWidth) / 2;
    const UINT top = (side - shownHeight) / 2;
    for (UINT row = 0; row < shownHeight; ++row)
        std::memcpy(&square[((top + row) * side + left) * 4], &fitted[row * shownWidth * 4], shownWidth * 4);
    return true;
}

bool ReadMaster(const wchar_t* path)
{
    FileStamp stamp;
    if (!stamp.Read(path))
        return false;
    if (!master.pixels.empty() && master.stamp == stamp)
        return true;
    master.pixels.clear();
    if (!DecodeFitted(path, master.pixels))
        return false;
    master.stamp = stamp;
    return true;
}

} // namespace

bool IsPictureName(const wchar_t* path)
{
    const wchar_t* dot = wcsrchr(path, L'.');
    if (!dot || wcspbrk(dot, L"\\/"))
        return false;
    for (const wchar_t* extension : PICTURE_EXTENSIONS) {
        if (SameIgnoringCase(dot, extension))
            return true;
    }
    return false;
}

// Read whole once: some platforms' decoders decode the whole picture as they
// open it, and it is fitted at once for every size asked later.
bool PictureIsReadable(const wchar_t* path)
{
    return ReadMaster(path);
}

bool FittedPicture(const wchar_t* path, int size, std::vector<BYTE>& pixels)
{
    if (size <= 0 || size > LARGEST_ICON_SIZE || !ReadMaster(path))
        return false;
    pixels = size == LARGEST_ICON_SIZE ? master.pixels : Reduced(master.pixels, LARGEST_ICON_SIZE, size);
    Unpremultiply(pixels);
    return true;
}

HICON PictureIcon(const wchar_t* path, int size)
{
    std::vector<BYTE> pixels;
    return FittedPicture(path, size, pixels) ? IconOfPixels(pixels, size) : nullptr;
}

bool PngOfImage(const std::vector<BYTE>& pixels, int size, std::vector<BYTE>& png)
{
    const ComScope com;
    ComRef<IWICImagingFactory> factory;
    ComRef<IStream> stream;
    ComRef<IWICBitmapEncoder> encoder;
    ComRef<IWICBitmapFrameEncode> frame;
    ComRef<IPropertyBag2> options;
    WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
    const UINT stride = static_cast<UINT>(size) * 4;
    if (!CreateFactory(factory) || FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream)) ||
        FAILED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) ||
        FAILED(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache)) ||
        FAILED(encoder->CreateNewFrame(&frame, &options)) || FAILED(frame->Initialize(options.Get())) ||
        FAILED(frame->SetSize(static_cast<UINT>(size), static_cast<UINT>(size))) ||
        FAILED(frame->SetPixelFormat(&format)) || format != GUID_WICPixelFormat32bppBGRA ||
        FAILED(frame->WritePixels(static_cast<UINT>(size), stride, stride * static_cast<UINT>(size),
                                  const_cast<BYTE*>(pixels.data()))) ||
        FAILED(frame->Commit()) || FAILED(encoder->Commit()))
        return false;
    STATSTG status = {};
    const LARGE_INTEGER start = {};
    if (FAILED(stream->Stat(&status, STATFLAG_NONAME)) || status.cbSize.QuadPart > MAX_PICTURE_PIXELS ||
        FAILED(stream->Seek(start, STREAM_SEEK_SET, nullptr)))
        return false;
    png.resize(static_cast<size_t>(status.cbSize.QuadPart));
    ULONG read = 0;
    return SUCCEEDED(stream->Read(png.data(), static_cast<ULONG>(png.size()), &read)) && read == png.size();
}
