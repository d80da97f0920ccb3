// Vectors and the shared transform record, with their exact arithmetic
// (degenerate inputs give fixed values that animation, scene and UI rely on).
#pragma once

namespace tw {

struct vec2 {
    float x = 0, y = 0;
};

struct vec3 {
    float x = 0, y = 0, z = 0;
};

// A 3x3 matrix as three triples: triple k (m[3k..3k+2]) is the image of world
// axis k. A point p maps to M*p + t. angle is the z rotation M was built from.
struct c_transform {
    float m[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    float tx = 0, ty = 0, tz = 0;  // tz is the drawing depth
    float angle = 0;               // radians, counter-clockwise
};

void vec2_normalize(vec2& v);  // (0,0) becomes (1,0)
void vec3_normalize(vec3& v);  // (0,0,0) becomes (1,0,0)
float vec2_distance(const vec2& a, const vec2& b);
float vec2_distance_sq(const vec2& a, const vec2& b);
// Signed angle from unit vector a to unit vector b; ties (0 and pi) give -d.
float vec2_signed_angle(const vec2& a, const vec2& b);

void transform_identity(c_transform& t);
void transform_set_angle(c_transform& t, float angle);  // translation unchanged
void transform_rotate(c_transform& t, float delta);
// Folds child c into parent p in place: p becomes p composed with c.
void transform_apply_parent(const c_transform& c, c_transform& p);
// Returns the child c placed under parent p.
c_transform transform_compose(const c_transform& c, const c_transform& p);
// Component-wise lerp of translation and angle; the matrix is rebuilt from the angle.
c_transform transform_lerp(const c_transform& a, const c_transform& b, float f);
// out = A*B with the triple layout; out may alias neither input.
void matrix_multiply(const float a[9], const float b[9], float out[9]);
// True if p lies strictly inside the rotated rectangle of half sizes (a, b)
// around t and closer than sqrt(c) to its centre. z is ignored.
bool transform_hit_test(const vec2& p, const c_transform& t, float a, float b, float c);

// Column-major 4x4 matrices, as OpenGL loads them.
void ortho(float left, float right, float bottom, float top, float near_z, float far_z,
           float out[16]);
void look_at(const vec3& eye, const vec3& centre, const vec3& up, float out[16]);

}  // namespace tw
