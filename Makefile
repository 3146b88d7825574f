# The whole set-up: `make run` and `make test`. Each target installs what it needs, configures and
# builds in its own folder under build/.
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 60
CMAKE_FLAGS ?=

.PHONY: run test bench fuzz build install deb format clean

build/release/build.ninja:
	scripts/install-deps.sh build
	cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMARQUILL_TESTS=OFF $(CMAKE_FLAGS)

build: build/release/build.ninja
	cmake --build build/release -j $(JOBS)

# The wizard on the game the tool finds, else on the demo installation; ARGS="--no-splash" etc.
ARGS ?=
run: build
	scripts/run-gui.sh build/release/src/cli/marquill $(ARGS)

# The tool, its data folder, the menu entry and the icon; PREFIX=/usr/local by default.
PREFIX ?= /usr/local
# The manual page names the folders under the prefix, so the build is told it first.
install: build/release/build.ninja
	cmake -S . -B build/release -DCMAKE_INSTALL_PREFIX=$(PREFIX) >/dev/null
	cmake --build build/release -j $(JOBS)
	cmake --install build/release
	if command -v gtk-update-icon-cache >/dev/null; then gtk-update-icon-cache -q -t $(PREFIX)/share/icons/hicolor || true; fi

# build/marquill_VERSION_amd64.deb: the tree `make install PREFIX=/usr` makes, built with
# Debian's own (hardened) compiler and linker flags; lintian must find no error in it.
DEB_FLAGS = DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get
deb:
	scripts/install-deps.sh build deb
	cmake -S . -B build/deb -G Ninja -DCMAKE_BUILD_TYPE=None -DMARQUILL_TESTS=OFF \
		-DCMAKE_INSTALL_PREFIX=/usr \
		-DCMAKE_CXX_FLAGS="$$($(DEB_FLAGS) CXXFLAGS) $$($(DEB_FLAGS) CPPFLAGS)" \
		-DCMAKE_C_FLAGS="$$($(DEB_FLAGS) CFLAGS) $$($(DEB_FLAGS) CPPFLAGS)" \
		-DCMAKE_EXE_LINKER_FLAGS="$$($(DEB_FLAGS) LDFLAGS)" \
		-DCMAKE_SHARED_LINKER_FLAGS="$$($(DEB_FLAGS) LDFLAGS)" $(CMAKE_FLAGS)
	cmake --build build/deb -j $(JOBS)
	cd build/deb && cpack -G DEB
	cp build/deb/marquill_*_amd64.deb build/
	lintian --info build/marquill_*_amd64.deb

test:
	scripts/install-deps.sh build test
	cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DMARQUILL_SANITIZE=ON $(CMAKE_FLAGS)
	cmake --build build/asan -j $(JOBS)
	cd build/asan && ctest --output-on-failure -j $(JOBS)

bench:
	scripts/install-deps.sh build bench
	cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DMARQUILL_TESTS=OFF -DMARQUILL_BENCH=ON $(CMAKE_FLAGS)
	cmake --build build/bench -j $(JOBS)
	scripts/run-benchmarks.sh build/bench

fuzz:
	scripts/install-deps.sh build fuzz
	CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMARQUILL_TESTS=OFF -DMARQUILL_FUZZ=ON $(CMAKE_FLAGS)
	cmake --build build/fuzz -j $(JOBS) --target fuzz_all
	scripts/run-fuzzers.sh build/fuzz $(FUZZ_SECONDS)

format:
	git ls-files '*.cpp' '*.h' | xargs -r clang-format -i

clean:
	rm -rf build
