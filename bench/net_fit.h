// The net cost of an instruction: a least-squares line through the time per
// quad of one program shape at several lengths, against the number of
// tested instructions per pixel.
//
// Where the steps carry helper instructions, the helpers-only forms are
// fitted with the full ones:
//     full form:          time = fixed + net x tested + helper x helpers
//     helpers-only form:  time = fixed + other + helper x helpers
// which comes to a line for each form and the difference of their slopes:
// the helpers' cost, measured at the same lengths, taken out. Each form has
// its own intercept, since taking the tested instruction out also takes out
// the values only it read (the dot products' weights); the fixed cost is the
// full form's. Subtracting the times length by length instead would add
// both forms' noise to every point and hide a bent line in either form.
// Without helpers the model is time = fixed + net x tested.
#pragma once

#include <vector>

struct NetSample {
    int tested = 0;            // tested instructions per pixel
    int helpers = 0;           // helper instructions per pixel
    bool helpersOnly = false;  // the form with the tested instruction taken out
    double msPerQuad = 0.0;
};

enum class NetVerdict {
    trusted,
    bent,             // a point lies further from the line than maxTrustedResidual
    notPositive,      // the instruction adds no time, or takes some away
    underdetermined,  // too few or too alike samples to fix the line
};

// The largest relative residual a trusted fit has. On an idle machine a
// program's time per quad repeats within about 1 % from run to run, and a
// line through three lengths keeps at most two thirds of one point's error
// as its residual, so 3 % leaves room for that; it refuses a middle length
// 5 % off the line through the other two (a bend at the longest length
// shows less: the line through three points follows it). On a loaded
// machine, where single timings spread by half and more, most fits are
// refused, as they should be.
constexpr double maxTrustedResidual = 0.03;

struct NetFit {
    double msPerTested = 0.0;     // per quad, per tested instruction per pixel: the net cost
    double msPerHelper = 0.0;     // the same for a helper instruction; 0 without helpers
    double fixedMsPerQuad = 0.0;  // the full form's intercept
    double r2 = 0.0;
    double maxRelativeResidual = 0.0;  // largest |time - line| / time
    NetVerdict verdict = NetVerdict::underdetermined;
};

NetFit fitNetCost(const std::vector<NetSample>& samples);
