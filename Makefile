# The two commands of the project; both install what a fresh machine lacks first.
#   make test   build both trees and run every test under Wine
#   make demo   build and run the main job with a readable report
#   make bench  time the quiet installation against the programs it starts
SHELL := /bin/bash
TREES := i686 x86_64

.PHONY: all bootstrap build test demo bench format clean

all: build

bootstrap:
	@tools/bootstrap

# Configuring every time picks up folders that have gained a CMakeLists.txt.
build: bootstrap
	@for tree in $(TREES); do \
	  cmake --preset $$tree >/dev/null || exit 1; \
	  cmake --build --preset $$tree || exit 1; \
	done

test: build
	@tools/run-tests

demo: build
	@tools/demo

# Not part of `make test`: timing of the quiet installation against its stubs alone.
bench: build
	@tools/bench

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
