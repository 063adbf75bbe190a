// One fake platform for the length of a scope: starts as the platform in
// use, takes the test's changes to `operations`, is put in use by install(),
// and gives way to the previous platform at the end.
#pragma once

#include "platform/platform.h"

class FakePlatform {
public:
    FakePlatform() : previous_(platform::current()), operations(previous_) {}
    ~FakePlatform() { platform::install(previous_); }
    FakePlatform(const FakePlatform&) = delete;
    FakePlatform& operator=(const FakePlatform&) = delete;

    void install() const { platform::install(operations); }

private:
    platform::Operations previous_;

public:
    platform::Operations operations;
};
