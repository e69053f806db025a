#pragma once
// Plain screen and image geometry, shared by the pixel code and the window policy.
namespace pemu::platform {

struct Size {
    int width;
    int height;
};

struct Point {
    int x;
    int y;
};

struct Rect {
    int x;
    int y;
    int width;
    int height;
};

}  // namespace pemu::platform
