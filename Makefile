# make run   installs what is missing, builds, starts the program on the simulated board
# make test  installs what is missing, builds, runs every test under Wine
#            (with the 32-bit program folder under qemu-i386 beside them)
# make test32 runs the 32-bit program folder under qemu-i386 alone (scripts/test32.sh)
.PHONY: setup build test test32 run clean

setup:
	@scripts/setup.sh

build: setup
	@scripts/build.sh

test: build
	@scripts/setup.sh --test32
	@scripts/test.sh

test32:
	@scripts/test32.sh

run: build
	@scripts/run.sh

clean:
	rm -rf build
