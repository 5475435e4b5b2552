// MulDiv: a 64-bit product divided with rounding to the nearest integer, as the kernel does.
#include <windows.h>

#include <climits>

int WINAPI MulDiv(int nNumber, int nNumerator, int nDenominator)
{
    if (nDenominator == 0) {
        return -1;
    }
    long long product = static_cast<long long>(nNumber) * nNumerator;
    long long denominator = nDenominator;
    if (denominator < 0) {
        product = -product;
        denominator = -denominator;
    }
    long long half = denominator / 2;
    long long result = product >= 0 ? (product + half) / denominator : (product - half) / denominator;
    return result > INT_MAX || result < INT_MIN ? -1 : static_cast<int>(result);
}
