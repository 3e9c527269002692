#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

// The MDCT kernel c(i, k) = cos(pi/(2n) (2i + 1 + n/2)(2k + 1)) of block size
// n in long double, from a table of one period (4n steps of pi/(2n)), and the
// plain unscaled sums over it: the independent reference for the transforms.
class MdctKernel {
public:
    explicit MdctKernel(int32_t n) : n_(n), cosine_(4 * static_cast<size_t>(n))
    {
        const long double step = 3.141592653589793238462643383279503L / (2 * n);
        for (size_t r = 0; r < cosine_.size(); ++r)
            cosine_[r] = std::cos(step * static_cast<long double>(r));
    }

    long double operator()(int32_t i, int32_t k) const
    {
        return cosine_[static_cast<size_t>((int64_t{2} * i + 1 + n_ / 2) * (int64_t{2} * k + 1) % (int64_t{4} * n_))];
    }

    // sum over i < n of input[i] c(i, k)
    long double forwardSum(const std::vector<double>& input, int32_t k) const
    {
        long double sum = 0;
        for (int32_t i = 0; i < n_; ++i)
            sum += input[i] * (*this)(i, k);
        return sum;
    }

    // sum over k < n/2 of input[k] c(i, k)
    long double inverseSum(const std::vector<double>& input, int32_t i) const
    {
        long double sum = 0;
        for (int32_t k = 0; k < n_ / 2; ++k)
            sum += input[k] * (*this)(i, k);
        return sum;
    }

private:
    int32_t n_;
    std::vector<long double> cosine_;
};
