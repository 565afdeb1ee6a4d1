# MIRELUNE — the commands a newcomer needs.
#   make run    install what is missing, build, and start the game
#   make test   install what is missing, build, and run every test
#   make test-sanitize  the same with AddressSanitizer and UndefinedBehaviorSanitizer
#               (in build-sanitize/; any report fails the test)
#   make fuzz-smoke  build the libFuzzer targets with clang (in build-fuzz/) and run
#               each for a few seconds from its seeds and corpus (any crash, leak or hang fails)
#   make fuzz-long   run each fuzzer FUZZ_SECONDS (default here 1800), then merge what it
#               found into its minimised corpus, fuzz/corpus/<fuzzer>/ (commit that)
#   make assets regenerate the game's pictures, sounds and music from assets/src
#   make install    install the game under PREFIX (default /usr/local), DESTDIR honoured
#   make uninstall  remove what the last `make install` put there
#   make package    build the Debian package mirelune_<version>_<arch>.deb in build-package/
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
CMAKE_FLAGS ?=
ifeq ($(CI),true)
CMAKE_FLAGS += -DMIRELUNE_WERROR=ON
endif

.PHONY: all deps configure build test test-sanitize run format format-check clean assets fuzz-smoke fuzz-long install uninstall package

PREFIX ?= /usr/local
PACKAGE_DIR ?= build-package
# What an installation holds: the program, its packed data, the compressed manual page.
INSTALL_TARGETS = mirelune mirelune_game_data mirelune_dist_files

SANITIZE_DIR ?= build-sanitize
# A sanitizer report ends the test program with an error, leaks included.
SANITIZE_ENV = ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:abort_on_error=1:detect_stack_use_after_return=1:strict_init_order=1:check_initialization_order=1 \
	UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/.ci/lsan.supp:print_suppressions=0

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

# Benchmarks measure speed, which means nothing under the sanitizers: not built.
$(SANITIZE_DIR)/build.ninja:
	cmake -S . -B $(SANITIZE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) \
	    -DMIRELUNE_SANITIZE=ON -DMIRELUNE_BUILD_BENCHMARKS=OFF $(CMAKE_FLAGS)

test-sanitize: deps $(SANITIZE_DIR)/build.ninja
	cmake --build $(SANITIZE_DIR)
	$(SANITIZE_ENV) ctest --test-dir $(SANITIZE_DIR) --output-on-failure --timeout 600 -j 2

FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 10
FUZZERS = container_fuzzer image_fuzzer string_record_fuzzer talk_script_fuzzer riff_fuzzer \
	wave_fuzzer ogg_fuzzer stage_script_fuzzer settings_fuzzer replay_fuzzer
$(FUZZ_DIR)/build.ninja:
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) \
	    -DMIRELUNE_FUZZ=ON -DMIRELUNE_BUILD_BENCHMARKS=OFF $(CMAKE_FLAGS)

# New inputs go to $(FUZZ_DIR)/corpus/, never into the committed seeds or corpus.
FUZZ_RUN = LSAN_OPTIONS=suppressions=$(CURDIR)/.ci/lsan.supp:print_suppressions=0 \
	$(FUZZ_DIR)/fuzz/$$f -timeout=10 -rss_limit_mb=2048
fuzz-smoke: deps $(FUZZ_DIR)/build.ninja
	cmake --build $(FUZZ_DIR) --target $(FUZZERS)
	for f in $(FUZZERS); do \
	    mkdir -p $(FUZZ_DIR)/corpus/$$f fuzz/corpus/$$f && \
	    $(FUZZ_RUN) -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	        $(FUZZ_DIR)/corpus/$$f fuzz/corpus/$$f fuzz/seeds/$$f || exit 1; \
	done

# The long run keeps its findings: each fuzzer's corpus is merged down to the
# inputs that add coverage and replaces fuzz/corpus/<fuzzer>/. A crash stops
# it, leaving the input in the current folder (crash-*) to be fixed.
fuzz-long: FUZZ_SECONDS = 1800
fuzz-long: deps $(FUZZ_DIR)/build.ninja
	cmake --build $(FUZZ_DIR) --target $(FUZZERS)
	for f in $(FUZZERS); do \
	    mkdir -p $(FUZZ_DIR)/corpus/$$f fuzz/corpus/$$f && \
	    $(FUZZ_RUN) -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	        $(FUZZ_DIR)/corpus/$$f fuzz/corpus/$$f fuzz/seeds/$$f || exit 1; \
	    rm -rf $(FUZZ_DIR)/merged/$$f && mkdir -p $(FUZZ_DIR)/merged/$$f && \
	    $(FUZZ_RUN) -merge=1 $(FUZZ_DIR)/merged/$$f \
	        fuzz/corpus/$$f $(FUZZ_DIR)/corpus/$$f fuzz/seeds/$$f || exit 1; \
	    rm -rf fuzz/corpus/$$f && mv $(FUZZ_DIR)/merged/$$f fuzz/corpus/$$f || exit 1; \
	done

run: deps build
	cd $(BUILD_DIR)/game && ./mirelune

install: deps configure
	cmake --build $(BUILD_DIR) --target $(INSTALL_TARGETS)
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD_DIR) --prefix "$(PREFIX)"

# Removes the files the last install listed (the list holds them without
# DESTDIR: give the same DESTDIR and PREFIX), then the game's own folders if empty.
uninstall:
	@test -f $(BUILD_DIR)/install_manifest.txt || { echo "nothing installed from $(BUILD_DIR)"; exit 1; }
	sed 's|^|$(DESTDIR)|' $(BUILD_DIR)/install_manifest.txt | xargs -d '\n' rm -fv
	-rmdir "$(DESTDIR)$(PREFIX)/share/games/mirelune/img" "$(DESTDIR)$(PREFIX)/share/games/mirelune/sound" \
	    "$(DESTDIR)$(PREFIX)/share/games/mirelune/script" "$(DESTDIR)$(PREFIX)/share/games/mirelune" \
	    "$(DESTDIR)$(PREFIX)/share/doc/mirelune" 2>/dev/null

# A build of its own without tests or benchmarks, with Debian's hardening
# flags; lintian then checks the package.
package:
	@tools/install-deps.sh --package
	CXXFLAGS="$$(dpkg-buildflags --get CPPFLAGS) $$(dpkg-buildflags --get CXXFLAGS)" \
	LDFLAGS="$$(dpkg-buildflags --get LDFLAGS)" \
	cmake -S . -B $(PACKAGE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DCMAKE_INSTALL_PREFIX=/usr \
	    -DMIRELUNE_BUILD_TESTS=OFF -DMIRELUNE_BUILD_BENCHMARKS=OFF $(CMAKE_FLAGS)
	cmake --build $(PACKAGE_DIR) --target $(INSTALL_TARGETS)
	cd $(PACKAGE_DIR) && cpack -G DEB
	lintian --info $(PACKAGE_DIR)/mirelune_*.deb

assets:
	@tools/assets/make_assets.sh

SOURCES_TO_FORMAT = find engine game frontend app tools tests benchmarks fuzz \( -name '*.cpp' -o -name '*.h' \) -print0

format:
	$(SOURCES_TO_FORMAT) | xargs -0 -r clang-format -i

# Fails, naming the files and lines, when a source is not formatted as .clang-format says.
format-check: deps
	$(SOURCES_TO_FORMAT) | xargs -0 -r clang-format --dry-run --Werror

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(PACKAGE_DIR) $(FUZZ_DIR)
