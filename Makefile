# make run   installs what is missing, builds, starts the program on the simulated board
# make test  installs what is missing, builds, runs every test under Wine
.PHONY: setup build test run clean

setup:
	@scripts/setup.sh

build: setup
	@scripts/build.sh

test: build
	@scripts/test.sh

run: build
	@scripts/run.sh

clean:
	rm -rf build
