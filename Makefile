# The two everyday commands, and the package:
#   make run [BOOK=/path/to/folder-or-image]   set up, build and start the viewer
#   make test                                  set up, build and run every test headless
#   make deb                                   set up, build and make a Debian package in $(BUILD_DIR)/
BUILD_DIR ?= build
BOOK ?= $(abspath $(BUILD_DIR))/sample-book
JOBS ?= 2

.PHONY: run test build deps deb

deps:
	bash scripts/install-deps

build: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD_DIR) -j$(JOBS)

run: build
	$(BUILD_DIR)/ruvo "$(BOOK)"

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

deb: build
	cd $(BUILD_DIR) && cpack -G DEB
