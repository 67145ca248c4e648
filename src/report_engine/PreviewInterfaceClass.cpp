#include "report_engine/PreviewInterfaceClass.h"

#include "report_engine/StandardPreviewOpener.h"

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

std::unique_ptr<PreviewOpener> PreviewInterfaceClass::create()
{
    if (slot())
        return slot()();
    return std::make_unique<StandardPreviewOpener>();
}

} // namespace bw
