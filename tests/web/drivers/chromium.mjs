// How the project starts Debian's Chromium, headless, wherever it drives it
// (Playwright for tests and benchmarks, Lighthouse): no sandbox as root,
// none of the background traffic it would make, and WebGL drawn by Mesa's
// llvmpipe through ANGLE and lavapipe. That is the rasteriser that draws the
// native pictures under Xvfb; Chromium's own SwiftShader places edges on a
// coarser grid, so its pictures differ from them along every edge.

import { existsSync, readdirSync } from 'node:fs';
import path from 'node:path';

export const chromiumPath = process.env.CHROMIUM || '/usr/bin/chromium';

export const chromiumFlags = [
  '--no-sandbox', '--use-angle=vulkan', '--use-vulkan=native', '--ignore-gpu-blocklist',
  '--disable-background-networking', '--disable-component-update', '--disable-sync',
  '--disable-quic', '--no-first-run',
];

// Mesa's Vulkan driver, wherever Debian's mesa-vulkan-drivers put it for
// this machine, as the environment Chromium needs to find it.
export function chromiumEnvironment() {
  const folder = '/usr/share/vulkan/icd.d';
  const driver = existsSync(folder) && readdirSync(folder).find(name => name.startsWith('lvp_icd.'));
  if (!driver)
    throw new Error(`Mesa's Vulkan driver is missing from ${folder}: install mesa-vulkan-drivers`);
  return { ...process.env, VK_ICD_FILENAMES: path.join(folder, driver) };
}
