// A job clock for tests: every job is stamped at the same moment.
#pragma once

#include "core/day/print_job.h"

namespace analysis::testing {

/// Always a Wednesday at 14:22:05.
class FixedClock : public JobClock {
public:
    JobMoment now() const override { return {'3', "14:22:05"}; }
};

} // namespace analysis::testing
