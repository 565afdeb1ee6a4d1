# MIRELUNE — the commands a newcomer needs.
#   make run    install what is missing, build, and start the game
#   make test   install what is missing, build, and run every test
#   make assets regenerate the game's pictures, sounds and music from assets/src
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
CMAKE_FLAGS ?=
ifeq ($(CI),true)
CMAKE_FLAGS += -DMIRELUNE_WERROR=ON
endif

.PHONY: all deps configure build test run format clean assets

all: build

deps:
	@tools/install-deps.sh

$(BUILD_DIR)/build.ninja:
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_FLAGS)

configure: $(BUILD_DIR)/build.ninja

build: configure
	cmake --build $(BUILD_DIR)

test: deps build
	ctest --test-dir $(BUILD_DIR) --output-on-failure --timeout 300 -j 2

run: deps build
	cd $(BUILD_DIR)/game && ./mirelune

assets:
	@tools/assets/make_assets.sh

format:
	find engine game frontend app tools tests benchmarks \( -name '*.cpp' -o -name '*.h' \) -print0 \
	    | xargs -0 -r clang-format -i

clean:
	rm -rf $(BUILD_DIR)
