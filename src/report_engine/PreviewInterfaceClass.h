#pragma once

#include <functional>
#include <memory>

namespace bw {

class TQRPreviewInterface;

// The engine's slot naming the class that opens previews: a maker of its
// instances. It names TQRStandardPreviewInterface until the program puts
// another in.
class PreviewInterfaceClass {
public:
    using Maker = std::function<std::unique_ptr<TQRPreviewInterface>()>;

    static void set(Maker maker);
    // Puts back the engine's standard class.
    static void setStandard();
    static bool isStandard();
    static std::unique_ptr<TQRPreviewInterface> create();
};

} // namespace bw
