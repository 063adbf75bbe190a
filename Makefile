# korvex: `make run ARGS="..."` builds and runs the benchmark with ARGS as its
# options; `make test` builds and runs every test; `make deb` builds the
# Debian package build/korvex_VERSION_ARCH.deb.
ARGS ?=

.PHONY: run test build deb deps test-deps package-deps

run: build
	./build/korvex $(ARGS)

build: deps
	cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVEX_TESTS=OFF
	cmake --build build -j "$$(nproc)" --target korvex

deb: package-deps build
	cmake --build build --target korvex_docs
	cd build && cpack -G DEB

test: test-deps
	tools/run-tests.sh

deps:
	tools/install-deps.sh run

test-deps:
	tools/install-deps.sh test

package-deps:
	tools/install-deps.sh package
