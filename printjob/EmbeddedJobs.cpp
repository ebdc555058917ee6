#include "printjob/EmbeddedJobs.h"

#include <array>
#include <cstddef>
#include <cstdint>

// Defined by the generated assembly in printjob/resources.
#define ZT40_DECLARE_JOB(id)                              \
    extern "C" const std::uint8_t zt40_job_##id##_begin[]; \
    extern "C" const std::uint64_t zt40_job_##id##_size;

ZT40_DECLARE_JOB(151)
ZT40_DECLARE_JOB(152)
ZT40_DECLARE_JOB(153)
ZT40_DECLARE_JOB(154)
ZT40_DECLARE_JOB(155)
ZT40_DECLARE_JOB(156)
ZT40_DECLARE_JOB(157)
ZT40_DECLARE_JOB(158)
ZT40_DECLARE_JOB(159)
ZT40_DECLARE_JOB(160)
ZT40_DECLARE_JOB(161)
ZT40_DECLARE_JOB(171)
ZT40_DECLARE_JOB(172)

#undef ZT40_DECLARE_JOB

namespace zt40 {

namespace {

struct LinkedJob {
    int id;
    const std::uint8_t* begin;
    const std::uint64_t* size;
};

#define ZT40_JOB_ENTRY(id) LinkedJob{id, zt40_job_##id##_begin, &zt40_job_##id##_size}

const std::array kLinkedJobs = {
    ZT40_JOB_ENTRY(151), ZT40_JOB_ENTRY(152), ZT40_JOB_ENTRY(153), ZT40_JOB_ENTRY(154), ZT40_JOB_ENTRY(155),
    ZT40_JOB_ENTRY(156), ZT40_JOB_ENTRY(157), ZT40_JOB_ENTRY(158), ZT40_JOB_ENTRY(159), ZT40_JOB_ENTRY(160),
    ZT40_JOB_ENTRY(161), ZT40_JOB_ENTRY(171), ZT40_JOB_ENTRY(172),
};

#undef ZT40_JOB_ENTRY

class LinkedJobResources final : public IJobResources {
public:
    std::span<const std::uint8_t> Find(int resourceId) const override {
        for (const auto& job : kLinkedJobs) {
            if (job.id == resourceId) return {job.begin, static_cast<std::size_t>(*job.size)};
        }
        return {};
    }
};

}  // namespace

const IJobResources& EmbeddedJobs() {
    static const LinkedJobResources resources;
    return resources;
}

}  // namespace zt40
