#pragma once
// The ready-made print jobs held inside the program, by resource id.
#include <array>
#include <cstdint>
#include <span>

namespace zt40 {

// Every job the program holds, as X(id) for each resource id. A list macro because the linked
// symbols are named after the ids (zt40_job_<id>_begin); everything else uses the constants below.
#define ZT40_EMBEDDED_JOB_IDS(X) \
    X(151) X(152) X(153) X(154) X(155) X(156) X(157) X(158) X(159) X(160) X(161) X(171) X(172)

#define ZT40_JOB_ID_ITEM(id) id,
inline constexpr std::array kEmbeddedJobIds = {ZT40_EMBEDDED_JOB_IDS(ZT40_JOB_ID_ITEM)};
#undef ZT40_JOB_ID_ITEM

// What each job is: the origin mark's body, the nine-pin pattern, pin n's letters header
// (kPinHeaderJobBase + n), the letters' body and the header that selects no pin.
inline constexpr int kOriginBodyJob = 151;
inline constexpr int kNinePinPatternJob = 152;
inline constexpr int kPinHeaderJobBase = 152;
inline constexpr int kLettersBodyJob = 171;
inline constexpr int kPlainHeaderJob = 172;

class IJobResources {
public:
    virtual ~IJobResources() = default;
    // The bytes of the resource, empty when there is no such resource.
    virtual std::span<const std::uint8_t> Find(int resourceId) const = 0;
};

}  // namespace zt40
