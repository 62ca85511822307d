# The two commands of the project; both install what a fresh machine lacks first.
#   make test   build both trees and run every test under Wine
#   make demo   build and run the main job with a readable report
SHELL := /bin/bash
TREES := i686 x86_64

.PHONY: all bootstrap build test demo format clean

all: build

bootstrap:
	@tools/bootstrap

build: bootstrap
	@for tree in $(TREES); do \
	  if [ ! -f build/$$tree/build.ninja ]; then cmake --preset $$tree || exit 1; fi; \
	  cmake --build --preset $$tree || exit 1; \
	done

test: build
	@tools/run-tests

demo: build
	@tools/demo

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
