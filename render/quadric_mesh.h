#pragma once

// Cylinders, discs and spheres cut the way the GLU quadrics cut them with their
// default settings (smooth normals facing out, filled, no texture
// coordinates): the same vertices and normals, in the same order, in the
// same kinds of primitive, with the same single-precision rounding. Drawn
// from these meshes, compiled into a display list once or moved into the
// world, a shape looks exactly like the quadric GLU would rebuild every frame.

const int MESH_MAX_SLICES = 16;
const int MESH_MAX_STACKS = 16;
const int MESH_MAX_STRIPS = MESH_MAX_STACKS;
const int MESH_MAX_VERTICES = MESH_MAX_STACKS * 2 * (MESH_MAX_SLICES + 1);
// The most indices meshTriangles writes for one mesh.
const int MESH_MAX_CORNERS = 3 * MESH_MAX_VERTICES;

struct MeshVertex {
    float x, y, z;
    float nx, ny, nz;
};

// One glBegin .. glEnd run of the mesh's vertices.
struct MeshStrip {
    unsigned mode;  // GL_QUAD_STRIP or GL_TRIANGLE_FAN
    int first, count;
};

struct QuadricMesh {
    int vertexCount;
    int stripCount;
    MeshVertex vertices[MESH_MAX_VERTICES];
    MeshStrip strips[MESH_MAX_STRIPS];
};

// Along local +z from 0 to height; slices 2..16, stacks 1..16. The sizes
// are doubles, as GLU takes them: a radius given as 0.08 and one given as
// 0.08f are cut slightly differently.
void cylinderMesh(QuadricMesh* mesh, double baseRadius, double topRadius, double height, int slices,
                  int stacks);
// Around the origin, poles on the z axis; slices 2..16, stacks 2..16.
void sphereMesh(QuadricMesh* mesh, double radius, int slices, int stacks);
// In the z = 0 plane facing +z, a fan about the origin as GLU cuts a disc
// with no hole in one loop; slices 2..16. Its rim's corners fall where a
// cylinder of the same slices has its corners.
void discMesh(QuadricMesh* mesh, double radius, int slices);
// The mesh's triangles as indices into its vertices, three a triangle, in
// the order Mesa splits the strips and fans (a quad strip's quad a, b, c, d
// into c a d and a b d; a fan's into centre, k, k + 1), so that drawn as
// separate triangles they rasterise exactly as the strips do. Returns the
// number of indices written: at most MESH_MAX_CORNERS.
int meshTriangles(const QuadricMesh* mesh, int* corners);
