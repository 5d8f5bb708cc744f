// A private Xvfb screen for a browser that must run with a display: Firefox,
// which has no WebGL when headless, and WebKitGTK's MiniBrowser.

import { spawn } from 'node:child_process';

// Starts Xvfb on a free display; resolves to { display: ':N', stop() }.
export function startXvfb() {
  const server = spawn('Xvfb', ['-displayfd', '3', '-screen', '0', '1280x1024x24', '-nolisten', 'tcp', '-noreset'],
                       { stdio: ['ignore', 'ignore', 'ignore', 'pipe'] });
  return new Promise((resolve, reject) => {
    let number = '';
    const timer = setTimeout(() => reject(new Error('Xvfb did not start in 20 s')), 20000);
    server.on('error', reject);
    server.stdio[3].on('data', chunk => {
      number += chunk;
      if (!number.includes('\n'))
        return;
      clearTimeout(timer);
      resolve({ display: `:${number.trim()}`, stop: () => server.kill() });
    });
  });
}
