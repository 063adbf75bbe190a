# korvex: `make run ARGS="..."` builds and runs the benchmark with ARGS as its
# options; `make test` builds and runs every test; `make deb` builds the
# Debian package build/korvex_VERSION_ARCH.deb; `make dist` the Windows release
# archives build-windows/korvex-VERSION-windows-x64.zip and
# build-windows-x86/korvex-VERSION-windows-x86.zip.
ARGS ?=

.PHONY: run test build deb dist deps test-deps package-deps

run: build
	./build/korvex $(ARGS)

build: deps
	cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVEX_TESTS=OFF
	cmake --build build -j "$$(nproc)" --target korvex

deb: package-deps build
	cmake --build build --target korvex_docs
	cd build && cpack -G DEB

# The archives need korvex.exe alone, not the Windows tests.
dist: test-deps
	for preset in windows windows-x86; do \
	  cmake --preset $$preset >/dev/null && \
	  cmake --build --preset $$preset -j "$$(nproc)" --target korvex_dist || exit 1; \
	done
	@ls -l build-windows/korvex-*-windows-x64.zip build-windows-x86/korvex-*-windows-x86.zip

test: test-deps
	tools/run-tests.sh

deps:
	tools/install-deps.sh run

test-deps:
	tools/install-deps.sh test

package-deps:
	tools/install-deps.sh package
