#include "report_engine/PreviewInterfaceClass.h"

#include "report_engine/TQRStandardPreviewInterface.h"

namespace bw {

namespace {

PreviewInterfaceClass::Maker& slot()
{
    static PreviewInterfaceClass::Maker maker;
    return maker;
}

} // namespace

void PreviewInterfaceClass::set(Maker maker)
{
    slot() = std::move(maker);
}

void PreviewInterfaceClass::setStandard()
{
    slot() = nullptr;
}

bool PreviewInterfaceClass::isStandard()
{
    return !slot();
}

std::unique_ptr<TQRPreviewInterface> PreviewInterfaceClass::create()
{
    if (slot())
        return slot()();
    return std::make_unique<TQRStandardPreviewInterface>();
}

} // namespace bw
