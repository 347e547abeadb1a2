# make test   installs what the build and the tests need, builds, runs every test
# make bench  builds and runs the benchmarks, on X11 against a private Xvfb
#             server (scripts/with-xvfb), where keys and repaints take the
#             user's path
# make fuzz   builds the libFuzzer targets with clang into build-fuzz/
# make fuzz-run  builds them and runs each for FUZZ_TIME seconds on its seeds
BUILD ?= build
GENERATOR ?= Ninja
JOBS ?= 8

.PHONY: all deps test-deps configure build test test-asan bench fuzz fuzz-run fuzz-check clean format format-check

all: build

deps:
	scripts/install-deps

test-deps:
	scripts/install-deps --test

configure:
	@if [ ! -f $(BUILD)/build.ninja ]; then \
	  cmake -S . -B $(BUILD) -G $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo; \
	fi

build: deps configure
	cmake --build $(BUILD) -j $(JOBS)

test: test-deps configure
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# make test-asan  the same tests, built with AddressSanitizer and
# UndefinedBehaviorSanitizer into build-asan/. Qt itself is not instrumented;
# leaks in it at exit are not reported (detect_leaks=0) so that a report
# points at our code; scripts/asan.supp names the system libraries' own faults.
ASAN_BUILD ?= build-asan
test-asan: test-deps
	@if [ ! -f $(ASAN_BUILD)/build.ninja ]; then \
	  cmake -S . -B $(ASAN_BUILD) -G $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DZUVO_SANITIZE=ON -DZUVO_BENCH=OFF; \
	fi
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && \
	  ASAN_OPTIONS=detect_leaks=0:abort_on_error=1:strict_string_checks=1:suppressions=$(CURDIR)/scripts/asan.supp \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS)

# make run and make run-dictionary build a program and start it in the
# user's own folder ZUVO_HOME (default ~/Zuvo), with its bundled dictionary
# (dct/) and translation placed beside it there: the user's words (usr.dct
# and dat/), the file dialog's state and dictionaries the user adds to dct/
# stay there when make clean removes the build.
ZUVO_HOME ?= $(HOME)/Zuvo
.PHONY: run run-dictionary
run: deps configure
	cmake --build $(BUILD) -j $(JOBS) --target editor
	scripts/place-program $(BUILD)/editor/editor "$(ZUVO_HOME)"
	cd "$(ZUVO_HOME)" && ./editor

run-dictionary: deps configure
	cmake --build $(BUILD) -j $(JOBS) --target dictionary
	scripts/place-program $(BUILD)/dictionary/dictionary "$(ZUVO_HOME)"
	cd "$(ZUVO_HOME)" && ./dictionary

bench:
	scripts/install-deps --bench
	$(MAKE) configure
	cmake --build $(BUILD) -j $(JOBS)
	@set -e; for b in $(BUILD)/bench/bench_*; do \
	  [ -f "$$b" ] && [ -x "$$b" ] || continue; echo "== $$(basename $$b)"; scripts/with-xvfb "$$b"; done

fuzz:
	scripts/install-deps --fuzz
	CC=clang CXX=clang++ cmake -S . -B build-fuzz -G $(GENERATOR) \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZUVO_FUZZ=ON
	cmake --build build-fuzz -j $(JOBS)

# make fuzz-run  runs every fuzz target for FUZZ_TIME seconds (default 60) on
# seeds from the tests' fixtures and fuzz/seeds/, with the keyword
# dictionaries of fuzz/dict/, FUZZ_JOBS targets at a time (default 4). What a
# target finds lands in build-fuzz/fuzz-run/<target>/artifacts/ and fails the
# run; FUZZ_TARGETS names a subset.
FUZZ_TIME ?= 60
FUZZ_JOBS ?= 4
FUZZ_TARGETS ?=
fuzz-run: fuzz
	fuzz/run.sh build-fuzz $(FUZZ_TIME) $(FUZZ_JOBS) $(FUZZ_TARGETS)

# make fuzz-check  builds the fuzz targets and runs each once over its seeds:
# CI's check that every target still builds and works.
fuzz-check: fuzz
	fuzz/run.sh build-fuzz 0 $(FUZZ_JOBS) $(FUZZ_TARGETS)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) build-fuzz

# The C++ sources follow .clang-format; tables keep their layout inside
# "// clang-format off" blocks. Another major version of clang-format lays the
# same tree out differently, so the check runs the one the tree is formatted
# with (scripts/install-deps installs it).
CLANG_FORMAT ?= clang-format-14
format:
	git ls-files '*.cpp' '*.h' | xargs $(CLANG_FORMAT) -i

format-check:
	git ls-files '*.cpp' '*.h' | xargs $(CLANG_FORMAT) --dry-run --Werror
