# The two everyday commands, and the package:
#   make run [BOOK=/path/to/folder-or-image]   set up, build and start the viewer
#   make test                                  set up, build and run every test headless
#   make deb                                   set up, build and make a Debian package in $(BUILD_DIR)/
# The source layout:
#   make format-check                          every C++ file as .clang-format lays it out
# And the two robustness checks, each in a build folder of its own:
#   make fuzz [FUZZ_SECONDS=60]                build the fuzz targets with clang and run each that long
#   make test-asan                             build with the address and undefined-behaviour
#                                              sanitizers and run every test
BUILD_DIR ?= build
BOOK ?= $(abspath $(BUILD_DIR))/sample-book
JOBS ?= 2
ASAN_DIR ?= build-asan
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60

# A sanitizer report stops the test it happens in; leaks are reported at exit.
# Allocations too large to make fail as they would without the sanitizer, so
# that the program's own handling of them is what runs.
SANITIZER_ENV = ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:allocator_may_return_null=1:detect_stack_use_after_return=1:check_initialization_order=1 \
	UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

.PHONY: run test build deps deb test-asan fuzz fuzz-deps format-check

deps:
	bash scripts/install-deps

# A developer's build stops at any warning; a reader's "make run" does not (CI's does, as the
# CI variable tells the build). The choice stays in the build folder's cache.
test deb: CMAKE_OPTIONS = -DRUVO_WARNINGS_AS_ERRORS=ON

build: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release $(CMAKE_OPTIONS)
	cmake --build $(BUILD_DIR) -j$(JOBS)

run: build
	$(BUILD_DIR)/ruvo "$(BOOK)"

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

format-check: deps
	git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror

deb: build
	cd $(BUILD_DIR) && cpack -G DEB

test-asan: deps
	cmake -S . -B $(ASAN_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRUVO_SANITIZE=ON -DRUVO_WARNINGS_AS_ERRORS=ON
	cmake --build $(ASAN_DIR) -j$(JOBS)
	cd $(ASAN_DIR) && $(SANITIZER_ENV) QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

fuzz-deps:
	bash scripts/install-deps --fuzz

fuzz: fuzz-deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRUVO_FUZZ=ON
	cmake --build $(FUZZ_DIR) -j$(JOBS) --target fuzz_targets
	bash fuzz/run-fuzzers $(FUZZ_DIR) $(FUZZ_SECONDS)
