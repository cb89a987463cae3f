// Level texts and the recommended-level setter of PrerequisiteResult.
#include "checks/PrerequisiteResult.h"

#include "platform/PcSnapshot.h"

namespace prereq {

std::string formatLevel(std::uint32_t stringId, std::int32_t value) {
    std::string text = snapshot().string(stringId);
    const auto placeholder = text.find("%1");
    if (placeholder != std::string::npos)
        text.replace(placeholder, 2, std::to_string(value));
    return text;
}

void PrerequisiteResult::formatRecommendedLevel(std::int32_t value, std::uint32_t stringId) {
    recommendedLevel_ = formatLevel(stringId, value);
}

} // namespace prereq
