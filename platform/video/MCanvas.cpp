#include "platform/video/MCanvas.h"
#include "base/Result.h"

MCanvas::~MCanvas() = default;

int32_t MCanvas::SetImage(const Image* source, uint32_t width, uint32_t height)
{
    if (!source)
        return Result::kNoImage;
    if (!pImage || !source->HasPixels())
        pImage = std::make_unique<Image>();
    pImage->SetWidth(source->nWidth);
    pImage->SetHeight(source->nHeight);
    if (source->HasPixels())
        pImage->SetPixels(source->GetPixels());
    return Create(width, height);
}

void MCanvas::UpdateOrigin()
{
    if (!pImage)
        return;
    nOriginX = pImage->nOriginX;
    nOriginY = pImage->nOriginY;
}

int32_t MCanvas::DecodeImage(const uint8_t* tga, size_t size)
{
    pImage = std::make_unique<Image>();
    return pImage->DecodeTGA(tga, size);
}
