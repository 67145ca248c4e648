#pragma once

#include <functional>
#include <memory>

namespace bw {

class PreviewOpener;

// The engine's slot naming the class that opens previews: a maker of its
// instances. It names StandardPreviewOpener until the program puts
// another in.
class PreviewInterfaceClass {
public:
    using Maker = std::function<std::unique_ptr<PreviewOpener>()>;

    static void set(Maker maker);
    // Puts back the engine's standard class.
    static void setStandard();
    static bool isStandard();
    static std::unique_ptr<PreviewOpener> create();
};

} // namespace bw
