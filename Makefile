# korvex: `make run ARGS="..."` builds and runs the benchmark with ARGS as its
# options; `make test` builds and runs every test.
ARGS ?=

.PHONY: run test build deps test-deps

run: build
	./build/korvex $(ARGS)

build: deps
	cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVEX_TESTS=OFF
	cmake --build build -j "$$(nproc)" --target korvex

test: test-deps
	tools/run-tests.sh

deps:
	tools/install-deps.sh run

test-deps:
	tools/install-deps.sh test
