#include "field/angular_sum.h"

#include <cmath>

namespace {

constexpr int kBlock = 4;  // the widest vector the sums use, in doubles

}  // namespace

AngularSum::AngularSum(double angleStep, double twoPi, AngularSumFunction sum)
    : step_(static_cast<float>(angleStep)), end_(static_cast<float>(twoPi)), sum_(sum)
{
    // The same loop as the sample-by-sample sum, keeping only the cosines.
    for (float phi = 0; phi <= end_; phi += step_) {
        if (count_ == kMaxSamples || phi + step_ == phi) {
            usable_ = false;  // the angle would never, or only after ages, pass the end
            cosines_.clear();
            count_ = 0;
            return;
        }
        cosines_.push_back(std::cos(static_cast<double>(phi)));
        ++count_;
    }
    cosines_.resize((cosines_.size() + kBlock - 1) / kBlock * kBlock, 1.0);
}

bool AngularSum::isFor(const CalcParams& p) const
{
    const float step = static_cast<float>(p.angleStep);
    const float end = static_cast<float>(p.twoPi);
    // compared bit for bit, so that even a NaN step matches itself
    return __builtin_memcmp(&step, &step_, sizeof step) == 0 && __builtin_memcmp(&end, &end_, sizeof end) == 0;
}
