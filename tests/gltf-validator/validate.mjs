// Validates one glTF or GLB file with the Khronos validator and prints its
// report as JSON; exits 1 when the report has errors or warnings.
import { readFile } from 'node:fs/promises';
import path from 'node:path';
import validator from 'gltf-validator';

const file = process.argv[2];
if (!file) {
  console.error('usage: node validate.mjs <file.glb|file.gltf>');
  process.exit(2);
}
const bytes = new Uint8Array(await readFile(file));
const report = await validator.validateBytes(bytes, {
  uri: path.basename(file),
  externalResourceFunction: (uri) =>
    readFile(path.join(path.dirname(file), decodeURIComponent(uri))).then((b) => new Uint8Array(b)),
});
const { numErrors, numWarnings, numInfos } = report.issues;
console.log(JSON.stringify({ numErrors, numWarnings, numInfos, messages: report.issues.messages }, null, 1));
process.exit(numErrors > 0 || numWarnings > 0 ? 1 : 0);
