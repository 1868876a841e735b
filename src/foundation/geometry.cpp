#include "foundation/geometry.h"

namespace dravn {

DesktopExtents ComputeDesktopExtents(const std::vector<Monitor>&) {
    return {};
}
std::optional<Rect> WindowLayout(int, const Rect&, bool, const Monitor&) {
    return std::nullopt;
}
Rect VirtualDesktop(const std::vector<Monitor>&) {
    return {};
}
std::optional<Rect> ValidateWinFrame(const Rect&, const std::vector<Monitor>&) {
    return std::nullopt;
}

}  // namespace dravn
