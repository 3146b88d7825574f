// Time per frame of the preview scene drawn by llvmpipe, pixels read back into memory every
// frame: once with one rasteriser thread (LP_NUM_THREADS=1) and once with none, everything on the
// calling thread (LP_NUM_THREADS=0, its fastest single-core mode).
#include <GL/gl.h>
#include <GL/osmesa.h>
#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "PreviewBenchScene.h"

namespace {

using namespace marquill::bench;

void BM_LlvmpipeFrame(benchmark::State& state) {
    const Scene scene = makeScene();
    OSMesaContext ctx = OSMesaCreateContextExt(OSMESA_BGRA, 16, 0, 0, nullptr);
    if (!ctx) return state.SkipWithError("no OSMesa context");
    std::vector<uint8_t> target(size_t(kWidth) * kHeight * 4);
    if (!OSMesaMakeCurrent(ctx, target.data(), GL_UNSIGNED_BYTE, kWidth, kHeight))
        return state.SkipWithError("cannot make current");
    state.SetLabel(reinterpret_cast<const char*>(glGetString(GL_RENDERER)));

    glViewport(0, 0, kWidth, kHeight);
    glMatrixMode(GL_PROJECTION);
    // The same mapping as the software device: x / 184, y / 254, depth z / far (here into -1..1).
    const GLfloat proj[16] = {
        2.0f / kWidth, 0, 0, 0, 0, 2.0f / kHeight, 0, 0, 0, 0, 2.0f / kFar, 0, 0, 0, -1, 1};
    glLoadMatrixf(proj);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glClearColor(229 / 255.0f, 123 / 255.0f, 4 / 255.0f, 1);
    glClearDepth(1);
    glEnable(GL_CULL_FACE);
    glFrontFace(GL_CW);
    glCullFace(GL_BACK);
    glShadeModel(GL_SMOOTH);

    glEnable(GL_LIGHTING);
    const GLfloat ambient[4] = {0.7f, 0.7f, 0.7f, 1};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
    const GLfloat white[4] = {1, 1, 1, 1}, black[4] = {0, 0, 0, 1};
    for (int i = 0; i < 2; ++i) {
        const float s = i == 0 ? -1.0f : 1.0f;  // towards the light
        const GLfloat pos[4] = {s * kLightDir[0], s * kLightDir[1], s * kLightDir[2], 0};
        glEnable(GL_LIGHT0 + i);
        glLightfv(GL_LIGHT0 + i, GL_POSITION, pos);
        glLightfv(GL_LIGHT0 + i, GL_DIFFUSE, white);
        glLightfv(GL_LIGHT0 + i, GL_SPECULAR, black);
        glLightfv(GL_LIGHT0 + i, GL_AMBIENT, black);
    }
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, white);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, white);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, black);
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, black);

    // The texture in the same 5-6-5 texels the software device samples.
    std::vector<uint16_t> texels;
    for (uint32_t p : scene.texture)
        texels.push_back(
            uint16_t(((p >> 19) & 31) << 11 | ((p >> 10) & 63) << 5 | ((p >> 3) & 31)));
    GLuint tex;
    glGenTextures(1, &tex);
    glBindTexture(GL_TEXTURE_2D, tex);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, kTextureSide, kTextureSide, 0, GL_RGB,
                 GL_UNSIGNED_SHORT_5_6_5, texels.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glEnable(GL_TEXTURE_2D);

    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    std::vector<SceneVertex> buffer(scene.phases[0].size());
    std::vector<uint8_t> readback(target.size());
    int phase = 0;
    for (auto _ : state) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        std::memcpy(buffer.data(), scene.phases[size_t(phase)].data(),
                    buffer.size() * sizeof(SceneVertex));
        phase = (phase + 1) % kPhases;
        glVertexPointer(3, GL_FLOAT, sizeof(SceneVertex), &buffer[0].x);
        glNormalPointer(GL_FLOAT, sizeof(SceneVertex), &buffer[0].nx);
        glTexCoordPointer(2, GL_FLOAT, sizeof(SceneVertex), &buffer[0].u);
        glDrawElements(GL_TRIANGLES, GLsizei(scene.indices.size()), GL_UNSIGNED_SHORT,
                       scene.indices.data());
        glReadPixels(0, 0, kWidth, kHeight, GL_BGRA, GL_UNSIGNED_BYTE, readback.data());
        benchmark::DoNotOptimize(readback.data());
    }
    int covered = 0;
    for (size_t i = 0; i < readback.size(); i += 4) {
        covered += !(readback[i] == 4 && readback[i + 1] == 123 && readback[i + 2] == 229);
    }
    state.counters["covered_pixels"] = covered;
    OSMesaDestroyContext(ctx);
}

// The whole benchmark run for the thread count in the environment, named after it.
int runWithThreads(const char* threads, int argc, char** argv) {
    const std::string name = std::string("BM_LlvmpipeFrame/LP_NUM_THREADS:") + threads;
    benchmark::RegisterBenchmark(name.c_str(), BM_LlvmpipeFrame)
        ->Unit(benchmark::kMillisecond)
        ->MinTime(1.0);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    // llvmpipe reads the thread count once per process, when the first context is made, so each
    // setting runs in a child process of its own; a count the caller sets is run alone.
    if (const char* given = std::getenv("LP_NUM_THREADS")) return runWithThreads(given, argc, argv);
    int status = 0;
    for (const char* threads : {"1", "0"}) {
        std::fflush(stdout);
        const pid_t child = fork();
        if (child < 0) return 1;
        if (child == 0) {
            setenv("LP_NUM_THREADS", threads, 1);
            std::exit(runWithThreads(threads, argc, argv));
        }
        int childStatus = 0;
        if (waitpid(child, &childStatus, 0) != child || !WIFEXITED(childStatus) ||
            WEXITSTATUS(childStatus) != 0)
            status = 1;
    }
    return status;
}
