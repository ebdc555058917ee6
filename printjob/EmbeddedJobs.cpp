#include "printjob/EmbeddedJobs.h"

#include <array>
#include <cstddef>
#include <cstdint>

// Defined by the generated assembly in printjob/resources.
#define ZT40_DECLARE_JOB(id)                              \
    extern "C" const std::uint8_t zt40_job_##id##_begin[]; \
    extern "C" const std::uint64_t zt40_job_##id##_size;
ZT40_EMBEDDED_JOB_IDS(ZT40_DECLARE_JOB)

#undef ZT40_DECLARE_JOB

namespace zt40 {

namespace {

struct LinkedJob {
    int id;
    const std::uint8_t* begin;
    const std::uint64_t* size;
};

#define ZT40_JOB_ENTRY(id) LinkedJob{id, zt40_job_##id##_begin, &zt40_job_##id##_size}

#define ZT40_JOB_ENTRY_ITEM(id) ZT40_JOB_ENTRY(id),
const std::array kLinkedJobs = {ZT40_EMBEDDED_JOB_IDS(ZT40_JOB_ENTRY_ITEM)};
#undef ZT40_JOB_ENTRY_ITEM

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
