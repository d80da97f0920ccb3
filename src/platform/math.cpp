// Vector helpers, the transform record's arithmetic and the 4x4 camera matrices.
// Degenerate inputs map to fixed values because animation, scene and UI code
// depend on them.
#include "platform/math.h"

#include <cmath>

namespace tw {

namespace {

// Fills the triple layout with a rotation about z by angle.
void set_rotation(float m[9], float angle) {
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    m[0] = c;
    m[1] = s;
    m[2] = 0;
    m[3] = -s;
    m[4] = c;
    m[5] = 0;
    m[6] = 0;
    m[7] = 0;
    m[8] = 1;
}

// M*v with the triple layout: triple k scaled by component k.
void matrix_apply(const float m[9], float x, float y, float z, float& ox, float& oy,
                  float& oz) {
    ox = m[0] * x + m[3] * y + m[6] * z;
    oy = m[1] * x + m[4] * y + m[7] * z;
    oz = m[2] * x + m[5] * y + m[8] * z;
}

vec3 cross(const vec3& a, const vec3& b) {
    return vec3{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

float dot(const vec3& a, const vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

}  // namespace

void vec2_normalize(vec2& v) {
    const float len = std::sqrt(v.x * v.x + v.y * v.y);
    if (len > 0) {
        v.x /= len;
        v.y /= len;
    } else {
        v = vec2{1, 0};
    }
}

void vec3_normalize(vec3& v) {
    const float len = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    if (len > 0) {
        v.x /= len;
        v.y /= len;
        v.z /= len;
    } else {
        v = vec3{1, 0, 0};
    }
}

float vec2_distance(const vec2& a, const vec2& b) { return std::sqrt(vec2_distance_sq(a, b)); }

float vec2_distance_sq(const vec2& a, const vec2& b) {
    const float dx = b.x - a.x;
    const float dy = b.y - a.y;
    return dx * dx + dy * dy;
}

float vec2_signed_angle(const vec2& a, const vec2& b) {
    // Normalised inputs can give a dot product a rounding step outside [-1, 1];
    // clamping keeps acos from returning NaN for (nearly) parallel vectors.
    float cos_d = a.x * b.x + a.y * b.y;
    if (cos_d > 1) cos_d = 1;
    if (cos_d < -1) cos_d = -1;
    const float d = std::acos(cos_d);
    const float c = std::cos(d);
    const float s = std::sin(d);
    const float plus_x = a.x * c - a.y * s;
    const float plus_y = a.x * s + a.y * c;
    const float minus_x = a.x * c + a.y * s;
    const float minus_y = -a.x * s + a.y * c;
    const float error_plus = std::fabs(b.x - plus_x) + std::fabs(b.y - plus_y);
    const float error_minus = std::fabs(b.x - minus_x) + std::fabs(b.y - minus_y);
    return error_minus > error_plus ? d : -d;
}

void transform_identity(c_transform& t) { t = c_transform{}; }

void transform_set_angle(c_transform& t, float angle) {
    t.angle = angle;
    set_rotation(t.m, angle);
}

void transform_rotate(c_transform& t, float delta) {
    t.angle += delta;
    set_rotation(t.m, t.angle);
}

void transform_apply_parent(const c_transform& c, c_transform& p) {
    p.angle = p.angle + c.angle;
    float ox, oy, oz;
    matrix_apply(p.m, c.tx, c.ty, c.tz, ox, oy, oz);
    p.tx += ox;
    p.ty += oy;
    p.tz += oz;
    float product[9];
    matrix_multiply(p.m, c.m, product);
    for (int i = 0; i < 9; ++i) p.m[i] = product[i];
}

c_transform transform_compose(const c_transform& c, const c_transform& p) {
    c_transform r = p;
    transform_apply_parent(c, r);
    return r;
}

c_transform transform_lerp(const c_transform& a, const c_transform& b, float f) {
    c_transform r;
    r.tx = a.tx + f * (b.tx - a.tx);
    r.ty = a.ty + f * (b.ty - a.ty);
    r.tz = a.tz + f * (b.tz - a.tz);
    r.angle = a.angle + f * (b.angle - a.angle);
    set_rotation(r.m, r.angle);
    return r;
}

void matrix_multiply(const float a[9], const float b[9], float out[9]) {
    for (int k = 0; k < 3; ++k) {
        for (int row = 0; row < 3; ++row) {
            out[3 * k + row] =
                a[row] * b[3 * k] + a[3 + row] * b[3 * k + 1] + a[6 + row] * b[3 * k + 2];
        }
    }
}

bool transform_hit_test(const vec2& p, const c_transform& t, float a, float b, float c) {
    const float dx = p.x - t.tx;
    const float dy = p.y - t.ty;
    if (!(dx * dx + dy * dy < c)) return false;
    const float cos_t = std::cos(t.angle);
    const float sin_t = std::sin(t.angle);
    const float local_x = dx * cos_t + dy * sin_t;
    const float local_y = -dx * sin_t + dy * cos_t;
    return -a < local_x && local_x < a && -b < local_y && local_y < b;
}

void ortho(float left, float right, float bottom, float top, float near_z, float far_z,
           float out[16]) {
    for (int i = 0; i < 16; ++i) out[i] = 0;
    out[0] = 2 / (right - left);
    out[5] = 2 / (top - bottom);
    out[10] = -2 / (far_z - near_z);
    out[12] = -(right + left) / (right - left);
    out[13] = -(top + bottom) / (top - bottom);
    out[14] = -(far_z + near_z) / (far_z - near_z);
    out[15] = 1;
}

void look_at(const vec3& eye, const vec3& centre, const vec3& up, float out[16]) {
    vec3 f{centre.x - eye.x, centre.y - eye.y, centre.z - eye.z};
    vec3_normalize(f);
    vec3 s = cross(f, up);
    vec3_normalize(s);
    const vec3 u = cross(s, f);
    // Rows s, u, -f; the last column moves the eye to the origin.
    out[0] = s.x;
    out[4] = s.y;
    out[8] = s.z;
    out[1] = u.x;
    out[5] = u.y;
    out[9] = u.z;
    out[2] = -f.x;
    out[6] = -f.y;
    out[10] = -f.z;
    out[3] = 0;
    out[7] = 0;
    out[11] = 0;
    out[12] = -dot(s, eye);
    out[13] = -dot(u, eye);
    out[14] = dot(f, eye);
    out[15] = 1;
}

}  // namespace tw
